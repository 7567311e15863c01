Object
{
	mName : PressurePlate
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : 0.05
				z_ : 0
			}
			WorldScalar : 			MetaVec3
			{
				x_ : 3
				y_ : 0.5
				z_ : 3
			}
		}
	}
	Collider
	{
		m_AabbHalfExtents : 		MetaVec3
		{
			x_ : 1.5
			y_ : 0.25
			z_ : 1.5
		}
		m_ObbLocalCenter : 		MetaVec3
		{
			x_ : 0
			y_ : 0
			z_ : 0
		}
		m_ObbScale : 		MetaVec3
		{
			x_ : 3
			y_ : 0.5
			z_ : 3
		}
		m_collisionGroup : 0
		m_ghost : 1
		m_shapeType : 1
	}
	PressurePlate
	{
	}
	InteractorComponent
	{
		m_name_of_bound_door : 
	}
	Renderable
	{
		m_BlendFactors : 		MetaVec4
		{
			w_ : 1
			x_ : 0.75
			y_ : 0.75
			z_ : 0.75
		}
		m_Color : 		MetaVec4
		{
			w_ : 1
			x_ : 1
			y_ : 1
			z_ : 1
		}
		m_ModelName : trigger
		m_ShaderName : defaultshader
		m_TextureName : defaulttexture 
		m_Transparent : 0
		m_Visible : 0
	}
}

