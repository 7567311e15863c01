Object
{
	mName : PodHull
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : 2
				z_ : 0
			}
			WorldScalar : 			MetaVec3
			{
				x_ : 2.9
				y_ : 3.9
				z_ : 2.9
			}
		}
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
			x_ : 0.9
			y_ : 0.4
			z_ : 0.1
		}
		m_ModelName : pod
		m_ShaderName : textureshader
		m_TextureName : pod_hull 
		m_Transparent : 0
		m_Visible : 1
	}
}

