Object
{
	mName : Room
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : 5
				z_ : 0
			}
			WorldScalar : 			MetaVec3
			{
				x_ : 50
				y_ : 10
				z_ : 50
			}
		}
	}
	Collider
	{
		m_AabbHalfExtents : 		MetaVec3
		{
			x_ : 25
			y_ : 5
			z_ : 25
		}
		m_ObbLocalCenter : 		MetaVec3
		{
			x_ : 0
			y_ : 0
			z_ : 0
		}
		m_ObbScale : 		MetaVec3
		{
			x_ : 50
			y_ : 10
			z_ : 50
		}
		m_collisionGroup : 0
		m_ghost : 1
		m_shapeType : 1
	}
	RoomComponent
	{
		m_FillLevel : 0
		m_RoomID : 0
		m_RoomIsFilling : 0
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
			x_ : 0.3
			y_ : 0.3
			z_ : 0.35
		}
		m_ModelName : room
		m_ShaderName : textureshader
		m_TextureName : deckplates 
		m_Transparent : 0
		m_Visible : 1
	}
}

